#include "CodeScreens.h"

#include "FrmCodeMaster.h"
#include "FrmHint.h"
#include "HintButton.h"
#include "ScreenStack.h"

#include <QPointer>

namespace rov2 {

void registerCodeScreens()
{
    registerScreen(QStringLiteral("FrmCodeMaster"), [] {
        static QPointer<FrmCodeMaster> screen;
        if (!screen) {
            screen = new FrmCodeMaster;
            screen->Form_Load();
        }
        return screen.data();
    });
    registerScreen(kHintScreenName, [] {
        static QPointer<FrmHint> screen;
        if (!screen) {
            screen = new FrmHint;
            screen->Form_Load();
        }
        return screen.data();
    });
}

} // namespace rov2
