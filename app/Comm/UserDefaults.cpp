#include "app/Comm/UserDefaults.h"

#include "app/Comm/EraserStandardNotifier.h"

#include "platform/BundleLocator.h"

#include <QSettings>

namespace {
const QString kOrganisation = QStringLiteral("Korvane");
const QString kEraserTimes = QStringLiteral("EraserTimes");
const QString kUpdateCheckAddress = QStringLiteral("UpdateCheckAddress");
} // namespace

UserDefaults::UserDefaults(QString programName) : m_programName(std::move(programName)) {}

UserDefaults UserDefaults::mainProgram() {
    return UserDefaults(BundleLocator::kMainProgramName);
}

UserDefaults UserDefaults::loader() {
    return UserDefaults(BundleLocator::kLoaderProgramName);
}

int UserDefaults::eraserTimes() const {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, kOrganisation, m_programName);
    bool ok = false;
    const int value = settings.value(kEraserTimes).toInt(&ok);
    return ok ? value : 0;
}

void UserDefaults::setEraserTimes(int level) const {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, kOrganisation, m_programName);
    settings.setValue(kEraserTimes, level);
    settings.sync();
    emit EraserStandardNotifier::instance().standardChanged();
}

QString UserDefaults::updateCheckAddress() const {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, kOrganisation, m_programName);
    return settings.value(kUpdateCheckAddress).toString();
}

void UserDefaults::setUpdateCheckAddress(const QString& address) const {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, kOrganisation, m_programName);
    settings.setValue(kUpdateCheckAddress, address);
    settings.sync();
}

QString UserDefaults::filePath() const {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, kOrganisation, m_programName);
    return settings.fileName();
}
