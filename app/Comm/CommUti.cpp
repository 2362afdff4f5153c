#include "app/Comm/CommUti.h"

#include "app/Comm/FileTreeSize.h"
#include "app/Comm/SettingsStore.h"
#include "app/Comm/SizeText.h"
#include "platform/SolidStateCheck.h"

#include <QFile>

namespace {
const QString kFontRegular = QStringLiteral("FontRegular");
const QString kFontLight = QStringLiteral("FontLight");
const QString kFontBold = QStringLiteral("FontBold");
} // namespace

bool CommUti::writRegularFont(const QString& fontName) {
    return SettingsStore::mainStore().setValue(kFontRegular, fontName);
}

bool CommUti::writLightFont(const QString& fontName) {
    return SettingsStore::mainStore().setValue(kFontLight, fontName);
}

bool CommUti::writBoldFont(const QString& fontName) {
    return SettingsStore::mainStore().setValue(kFontBold, fontName);
}

QString CommUti::getRegularFontName() {
    return SettingsStore::mainStore().value(kFontRegular);
}

QString CommUti::getLightFontName() {
    return SettingsStore::mainStore().value(kFontLight);
}

QString CommUti::getBoldFontName() {
    return SettingsStore::mainStore().value(kFontBold);
}

QString CommUti::longlongDiskSize(qint64 bytes) {
    return SizeText::withTerabytes(bytes);
}

QString CommUti::longlongConvertVolSpace(qint64 bytes) {
    return SizeText::withTerabytes(bytes);
}

QString CommUti::convertVolSpace(quint64 bytes) {
    return SizeText::fromKilobytes(bytes);
}

quint64 CommUti::volSpaceFromString(const QString& text) {
    return SizeText::parseDoublePrecision(text);
}

FsRef CommUti::fsref(const QString& path) {
    return FsRef{QFile::encodeName(path)};
}

quint64 CommUti::sizeOfFileRef(const FsRef& ref) {
    return FileTreeSize::of(ref.path);
}

bool CommUti::isSolidState(const QString& path) {
    return SolidStateCheck().isSolidState(path);
}
