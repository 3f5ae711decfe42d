#include "ui/kit/NumericLocale.h"

#include <clocale>

namespace ui {

void useCNumericLocale() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace ui
