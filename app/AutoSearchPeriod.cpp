#include "app/AutoSearchPeriod.h"

UINT AutoSearchPeriod(int minutes) {
  if (minutes <= 0) return 0;
  long long period = static_cast<long long>(minutes) * 60000;
  return period > USER_TIMER_MAXIMUM ? USER_TIMER_MAXIMUM : static_cast<UINT>(period);
}
