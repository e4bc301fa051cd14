#include "App/LogFile.h"

#include <cstdio>
#include <ctime>

#include "App/Report.h"

CLogFile TheLog;

namespace {

// Written explicitly and in binary mode: text mode would give LF alone natively and CR CR LF
// on Windows.
const char kLineEnd[] = "\r\n";
const size_t kRuleLength = 246;

const char* TypeTag(int type) {
    switch (type) {
    case -1:
        return "A ";
    case 1:
        return "> ";
    case 2:
        return "< ";
    case 4:
        return "F ";
    case 16:
        return "D ";
    case 18:
        return "I ";
    case 20:
        return "W ";
    case 24:
        return "E ";
    case 32:
        return "! ";
    default:
        return "  ";
    }
}

// Null when the clock cannot be read or converted; callers then leave the date out.
const std::tm* LocalNow() {
    std::time_t now = std::time(nullptr);
    if (now == static_cast<std::time_t>(-1))
        return nullptr;
    return std::localtime(&now);
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

// The text of asctime without its line feed, built with a bounded format: asctime itself
// writes past its static buffer for years above 9999 and takes no out-of-range fields.
std::string AscTimeNow() {
    static const char kDays[7][4] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char kMonths[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::tm* t = LocalNow();
    if (t == nullptr || !InRange(t->tm_wday, 0, 6) || !InRange(t->tm_mon, 0, 11))
        return std::string();
    char text[64];
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d", kDays[t->tm_wday],
                  kMonths[t->tm_mon], t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec,
                  1900 + t->tm_year);
    return text;
}

std::string BaseName(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

FILE* OpenForAppend(const std::string& name) {
    return std::fopen(name.c_str(), "ab");
}

// One write per entry, then close: the entry is on disk before the caller goes on.
void AppendAndClose(FILE* file, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

// Rule, blank, "<what><date>", rule, blank, then `emptyLinesAfter` empty lines.
std::string Banner(const char* what, int emptyLinesAfter) {
    const std::string rule = std::string(kRuleLength, '_') + kLineEnd;
    std::string text =
        rule + " " + kLineEnd + what + AscTimeNow() + kLineEnd + rule + " " + kLineEnd;
    for (int i = 0; i < emptyLinesAfter; ++i)
        text += kLineEnd;
    return text;
}

} // namespace

CLogFile::CLogFile() = default;

CLogFile::~CLogFile() {
    Close();
}

void CLogFile::Open(const std::string& name) {
    if (isOpen)
        return;
    if (!name.empty()) {
        fileName = name;
        sourceLine = 0;
        sourceFile.clear();
        typeMask = 0xFFFFFFFFu;
        std::remove(fileName.c_str());
    }
    if (fileName.empty())
        ShowMessage("Empty log filename", "MESSAGE");
    isOpen = true;
    FILE* file = OpenForAppend(fileName);
    if (file == nullptr) {
        ShowMessage("Erreur lors de l'ouverture du fichier de log", "MESSAGE");
        return;
    }
    AppendAndClose(file, Banner("Log begins on ", 0));
}

void CLogFile::Close() {
    if (!isOpen)
        return;
    if (FILE* file = OpenForAppend(fileName))
        AppendAndClose(file, Banner("Log ends on ", 4));
    isOpen = false;
}

const std::string& CLogFile::FormatPrefix(int type) {
    char position[64];
    std::snprintf(position, sizeof position, "%20.20s(%04d) ", BaseName(sourceFile).c_str(),
                  static_cast<int>(sourceLine));
    char stamp[64] = "";
    if (const std::tm* t = LocalNow())
        std::snprintf(stamp, sizeof stamp, "%02d/%02d %02d:%02d:%02d ", t->tm_mon + 1, t->tm_mday,
                      t->tm_hour, t->tm_min, t->tm_sec);
    prefix = TypeTag(type);
    prefix += position;
    prefix += stamp;
    return prefix;
}

CLogFile& CLogFile::SetSource(int line, const std::string& file) {
    sourceLine = line;
    sourceFile = file;
    return *this;
}

void CLogFile::Write(const std::string& message, int type) {
    if (!isOpen)
        return;
    if ((static_cast<uint32_t>(type) & typeMask) == 0)
        return;
    FILE* file = OpenForAppend(fileName);
    if (file == nullptr)
        return;
    AppendAndClose(file, FormatPrefix(type) + message + kLineEnd);
}
