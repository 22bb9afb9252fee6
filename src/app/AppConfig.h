#pragma once

#include <QString>

// The program settings kept in Config.ini in the program folder: read once at
// start-up, written back at exit. Writes go key by key over the file as it is then,
// so the [PATH] keys that the firmware and voice windows store meanwhile survive.
struct AppConfig {
    // [Setup]
    int usb = 0;                                  // 1: the USB-LNK cable was in use
    int com = 0;                                  // COM-port number, 0 for none
    bool logFile = true;                          // LOGFILE: communication log on
    bool newTkv = true;                           // NEW-TKV: new-model flag (TKV-C2, TKV-C3)
    QString comPath;                              // COMPATH: stable path of the chosen port
    QString sim;                                  // SIM: simulator cable's model, empty = not used
    // [Dimension]; left and top are only written
    int width = 660;
    int height = 570;
    static constexpr int builtInHeight = 607;  // the window's own height before any save
    int left = 0;
    int top = 0;

    // The program folder (trailing "/") this configuration belongs to and the current
    // language file: program folder + Lang after load, changed by the Language menu;
    // its file-name part is stored back as Lang.
    QString folder;
    QString languageFilePath;

    static QString fileName() { return QStringLiteral("Config.ini"); }
    static QString defaultLanguageFile() { return QStringLiteral("English.lng"); }
    static QString filePath(const QString &programFolder) { return programFolder + fileName(); }

    // Reads Config.ini of programFolder; returns whether it existed. A missing file is
    // created with the first-start settings (markers, USB=0, COM=0, Lang=English.lng,
    // LOGFILE=1, NEW-TKV=0) and this object takes those values. errorString, when
    // given, receives why the file could not be created or read (empty otherwise).
    bool load(const QString &programFolder, QString *errorString = nullptr);

    // Writes every key above (Lang as the file-name part of languageFilePath) and the
    // Info and "-" markers into Config.ini over its current content.
    bool save(QString *errorString = nullptr) const;

    // The [PATH] keys (FIRM, AUDIO1 … AUDIO8) that other windows read and write directly.
    static QString readPath(const QString &programFolder, const QString &key,
                            const QString &defaultValue = QString());
    static bool writePath(const QString &programFolder, const QString &key,
                          const QString &value, QString *errorString = nullptr);
};
