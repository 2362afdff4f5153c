#include "platform/Translations.h"

#include "platform/BundleLocator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

QString Translations::folder() {
    return BundleLocator::mainResourcesPath() + QStringLiteral("/translations");
}

QString Translations::folderIn(const QString& bundle) {
    return bundle + QStringLiteral("/Contents/MacOS/") + BundleLocator::kMainProgramName +
           QStringLiteral(".app/Contents/Resources/translations");
}

bool Translations::isLocaleName(const QString& name) {
    static const QRegularExpression shape(
        QStringLiteral("^[A-Za-z]{1,8}([_-][A-Za-z0-9]{1,8})?"
                       "(\\.[A-Za-z0-9-]{1,20})?(@[A-Za-z0-9]{1,20})?$"));
    return shape.match(name).hasMatch();
}

QString Translations::install(const QString& localeName, const QString& tablesFolder) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return {};
    QLocale locale = QLocale::system();
    if (!localeName.isEmpty() && isLocaleName(localeName)) {
        // The part after "." names the encoding and after "@" a variant: QLocale wants neither.
        QString bare = localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
        locale = QLocale(bare);
        QLocale::setDefault(locale);
    }

    const QString tables = tablesFolder.isEmpty() ? folder() : tablesFolder;
    auto* program = new QTranslator(application);
    // The C locale's languages name no table: English, whose table carries the plural forms.
    if (program->load(locale, QStringLiteral("korvane"), QStringLiteral("_"), tables) ||
        program->load(QStringLiteral("korvane_en"), tables)) {
        QCoreApplication::installTranslator(program);
    } else {
        delete program;
        program = nullptr;
    }

    auto* qt = new QTranslator(application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return program ? QFileInfo(program->filePath()).fileName() : QString();
}
