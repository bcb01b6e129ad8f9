#include "application.h"

#include "entry/comboboxaccessible.h"
#include "entry/lineeditaccessible.h"
#include "fonts/fonts.h"
#include "form/accessiblefactory.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
// The program speaks Russian whatever the desktop's language, Qt's own texts
// too (the save dialog, an entry field's menu). Without the translation file
// (Debian's qt6-translations-l10n) they stay English, and nothing is said.
// The Windows program carries the file inside itself.
void loadQtTranslation()
{
    auto *translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_ru"), QStringLiteral(":/translations")) ||
        translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
} // namespace

void setUpApplication()
{
    // No display name: on X11 Qt would append it to every window's caption.
    // Plain message boxes carry the application title themselves.
    QApplication::setApplicationName(QStringLiteral("vireok"));
    loadQtTranslation();
    Fonts::load();
    QApplication::setFont(Fonts::sansSerif(11));
    // Before any window: a screen reader that asks at once meets the
    // program's own interfaces, never Qt's guesses made earlier.
    installAccessibleFactory();
    installLineEditAccessibility();
    installComboBoxAccessibility();
}
