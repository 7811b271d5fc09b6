#include "controls/DateText.h"

int ApplyYearRule(int year) {
  if (year < 100) return year + 2000;
  if (year >= 101 && year <= 1999) return 2100;
  return year;
}
