// The footer's identity read from the running application object.
#pragma once

#include "mainwindow/FooterSource.h"

FooterIdentity& AppFooterIdentity();
