#include "controls/PermissionsPupMnu.h"

void PermissionsPupMnu::Event_Open() {
  AddRows({QStringLiteral("Accès interdit"), QStringLiteral("Exécution seule"), QStringLiteral("Ecriture seule"),
           QStringLiteral("Ecriture et Exécution"), QStringLiteral("Lecture seule"),
           QStringLiteral("Lecture et Exécution"), QStringLiteral("Lecture et Ecriture"),
           QStringLiteral("Lecture, Ecriture, Exécution")});
  Open.Raise(*this);
}
