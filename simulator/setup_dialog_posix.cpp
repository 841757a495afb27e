#include "simulator/setup_dialog.h"

namespace velmora {

DialogChoice AskSetupChoice(const DriverStore&) {
    return DialogChoice::Cancel;
}

} // namespace velmora
