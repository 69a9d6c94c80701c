#pragma once

#include <QString>

// Where a file dialog opens. The caller's folder wins unless it is empty or the program folder
// (what callers pass when they have no folder of their own); then the folder of the last file
// chosen for the same kind of file, kept in the settings file across starts; else the user's
// pictures folder for images, else the home folder. Only a confirmed choice is remembered.
class DialogFolder {
public:
    explicit DialogFolder(const QString& settingsFile) : settingsFile_(settingsFile) {}

    QString initialFolder(const QString& given, const QString& filter,
                          const QString& programFolder) const;
    // After a dialog: the chosen path, or the empty text when it was cancelled.
    void remember(const QString& chosenPath, const QString& filter) const;

    // The kind of file a filter asks for: the extension of its first pattern ("tif", "icc").
    static QString kind(const QString& filter);

private:
    QString settingsFile_;
};
