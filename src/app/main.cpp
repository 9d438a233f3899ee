#include "dialog_prompter.h"
#include "record_form.h"
#include "area_commands.h"
#include "command_wiring.h"

#include "clock.h"
#include "run_directory.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("tamsel"));
    // A monospaced CJK face keeps a blank exactly half a Chinese character
    // wide, which the header labels' runs of blanks are measured in.
    QFont font(QStringLiteral("Noto Sans Mono CJK SC"));
    font.setPixelSize(12);
    app.setFont(font);
    // Qt's own texts (file choosers, the edit boxes' menus) in Chinese, as
    // the officer's desktop shows them, whatever the session's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);

    tamsel::DialogPrompter prompter;
    tamsel::SystemClock clock;
    tamsel::RecordForm window(prompter, clock, tamsel::RunDirectory::ofProgram());
    tamsel::wireCommands(window);
    tamsel::AreaCommands commands(window);
    // The start-up runs once the window exists; it shows the window.
    QTimer::singleShot(0, &window, [&window, &commands] {
        window.startUp();
        window.offerLeftRecord();
        commands.afterStartUp();
    });
    return app.exec();
}
