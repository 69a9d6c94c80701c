#pragma once

#include <QString>

// Where a file dialog opens: the caller's folder when given, else the folder of the last file
// chosen in any dialog, else the program folder. Only a confirmed choice moves the last folder.
class DialogFolder {
public:
    QString initialFolder(const QString& given, const QString& programFolder) const;
    // After a dialog: the chosen path, or the empty text when it was cancelled.
    void remember(const QString& chosenPath);
    QString lastFolder() const { return last_; }

private:
    QString last_;
};
