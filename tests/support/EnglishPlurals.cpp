// Test programs run the core without the programs' start-up, which loads the translation
// tables. The English table carries the plural forms ("1 item", "2 items") that tests compare,
// so it is loaded with every application object a test makes, as the programs load it.
#include <QCoreApplication>
#include <QTranslator>

namespace {

void loadEnglishPlurals() {
    auto* table = new QTranslator(QCoreApplication::instance());
    if (table->load(QStringLiteral("korvane_en"), QStringLiteral(KORVANE_TRANSLATIONS_DIR)))
        QCoreApplication::installTranslator(table);
    else
        delete table;
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(loadEnglishPlurals)
