#pragma once

#include <QString>

// The user defaults of a program (QSettings under the program's own name), so the loader and the
// main program keep separate defaults. Holds the erasure level under "EraserTimes".
class UserDefaults {
public:
    explicit UserDefaults(QString programName);
    static UserDefaults mainProgram();
    static UserDefaults loader();

    // The stored value of EraserTimes, 0 when missing or not a number.
    int eraserTimes() const;
    // Stores the level and writes the defaults to disk at once.
    void setEraserTimes(int level) const;

    // The address of the version file the update check asks ("UpdateCheckAddress"); empty
    // until the user sets one.
    QString updateCheckAddress() const;
    void setUpdateCheckAddress(const QString& address) const;

    QString filePath() const;

private:
    QString m_programName;
};
