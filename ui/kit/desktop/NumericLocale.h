#pragma once

namespace ui {

// Qt sets the C library's locale from the environment when the application object is made;
// numbers exchanged with tools, files and sysfs, and the size texts, must keep the C form
// ("1.50 KB", never "1,50 KB"), so the numeric category goes back to "C" right after.
void useCNumericLocale();

}  // namespace ui
