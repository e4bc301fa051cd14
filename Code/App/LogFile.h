// The program log: one-line entries tagged with a message type and their source position.
//
// The file is reopened in append mode for every entry and closed again at once, so whatever
// was written is on disk even when the process ends abruptly. Nothing is written before Open.
// Lines end with CR LF on disk in every build.
#pragma once

#include <cstdint>
#include <string>

class CLogFile {
public:
    CLogFile();
    // Writes the closing banner when the log is open.
    virtual ~CLogFile();

    // Does nothing while open. A non-empty `name` becomes the log file: the source position and
    // the type mask are reset and an older file of that name is deleted. An empty name keeps
    // the earlier one (a closed log is reopened and appended to); with no earlier name the box
    // "Empty log filename" is shown. The log then counts as open; when the file cannot be
    // opened the box "Erreur lors de l'ouverture du fichier de log" is shown, otherwise the
    // opening banner is written.
    virtual void Open(const std::string& name);

    // Writes the closing banner (when the file can be opened) and marks the log closed. Does
    // nothing when the log is not open.
    virtual void Close();

    // The two-character tag of `type`, the source base name (after the last backslash) cut or
    // padded to 20 characters, the line as "(%04d)", a blank, and the local "MM/DD hh:mm:ss ".
    // The string is shared and overwritten by the next call.
    virtual const std::string& FormatPrefix(int type);

    // Records the position of the entry about to be written; returns the log for chaining.
    CLogFile& SetSource(int line, const std::string& file);

    // Appends one entry. Dropped silently while closed, when `type` has no bit in common with
    // the type mask (so type 0 never is written), or when the file cannot be opened.
    void Write(const std::string& message, int type);

    // Entries are written only when their type shares a bit with the mask (all bits at first;
    // Open with a name restores that).
    void SetTypeMask(uint32_t mask) { typeMask = mask; }
    uint32_t TypeMask() const { return typeMask; }
    bool IsOpen() const { return isOpen; }
    const std::string& FileName() const { return fileName; }

private:
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    std::string fileName;
    int32_t sourceLine = 0;
    std::string sourceFile;
    uint32_t typeMask = 0xFFFFFFFFu;
    bool isOpen = false;
    std::string prefix;
};

// The program's one log. Closed until someone opens it; the configurator never does.
extern CLogFile TheLog;
