// The year rule applied to a date typed in a date field.
#pragma once

// Below 100: that year of the 2000s. 101 to 1999: 2100. 100, and 2000 on: unchanged.
int ApplyYearRule(int year);
