// Dialogs still to be written: each returns at once until its own source
// replaces it here.
#include "windows/Dialogos.h"

namespace windows {

}  // namespace windows
