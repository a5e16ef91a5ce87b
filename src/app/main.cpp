// Quillset: the Options window is the program; its start-up does the rest.

#include "app/app_state.h"
#include "ui/options_window.h"
#include "ui/qt_dialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillset"));

    quillset::AppState state;
    state.programDir = QCoreApplication::applicationDirPath();

    quillset::ui::QtDialogs dialogs;
    quillset::ui::OptionsWindow window(state, dialogs);
    dialogs.setOwner(&window);

    if (window.Form_Load() != quillset::ui::OptionsWindow::StartupResult::Running)
        return 1;
    return QApplication::exec();
}
