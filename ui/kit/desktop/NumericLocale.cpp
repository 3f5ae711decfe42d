#include "ui/kit/desktop/NumericLocale.h"

#include <clocale>

namespace ui {

void useCNumericLocale() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace ui
