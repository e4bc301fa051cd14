// Typed key access: every value is text; numbers are converted when read and formatted when
// written.
#include "Ini/CIniFile.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "App/Report.h"

namespace {

const char* const kMissingKey = "Error: Unable to locate specified key";

// atoi's reading (leading blanks, a sign, the digits that follow), with an out-of-range
// number clamped to the int range instead of the undefined result atoi may give.
int TextToInt(const std::string& text) {
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// A double beyond the float range narrows to an infinity, as IEEE arithmetic defines.
static_assert(std::numeric_limits<float>::is_iec559, "float narrowing relies on IEEE 754");

float TextToFloat(const std::string& text) {
    return static_cast<float>(std::atof(text.c_str()));
}

std::string FormatInt(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

std::string FormatFloat(float value) {
    // "%f" of the largest float takes 47 characters.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    return buffer;
}

} // namespace

const std::string& CIniFile::GetString(const std::string& key) {
    auto found = keys.find(ToUpperCopy(key));
    if (found != keys.end())
        return found->second;
    ReportWarning("%s", kMissingKey);
    return errorValue;
}

std::string CIniFile::GetStringOr(const std::string& key, const std::string& fallback) {
    auto found = keys.find(ToUpperCopy(key));
    if (found == keys.end() || found->second == errorValue)
        return fallback;
    return found->second;
}

int CIniFile::GetInt(const std::string& key) {
    const std::string& value = GetString(key);
    return value == errorValue ? kIniMissingInt : TextToInt(value);
}

bool CIniFile::GetBool(const std::string& key) {
    const std::string& value = GetString(key);
    return value == errorValue ? false : TextToInt(value) != 0;
}

float CIniFile::GetFloat(const std::string& key) {
    const std::string& value = GetString(key);
    return value == errorValue ? kIniMissingFloat : TextToFloat(value);
}

bool CIniFile::SetString(const std::string& key, const std::string& value, bool create) {
    std::string upper = ToUpperCopy(key);
    auto found = keys.find(upper);
    if (found != keys.end()) {
        found->second = value;
        return true;
    }
    if (!create)
        return false;
    keys.emplace(std::move(upper), value);
    return true;
}

bool CIniFile::SetInt(const std::string& key, int value, bool create) {
    return SetString(key, FormatInt(value), create);
}

bool CIniFile::SetBool(const std::string& key, bool value, bool create) {
    return SetString(key, FormatInt(value ? 1 : 0), create);
}

bool CIniFile::SetFloat(const std::string& key, float value, bool create) {
    return SetString(key, FormatFloat(value), create);
}

const std::string& CIniFile::GetString(const std::string& section, const std::string& key) {
    CIniFile* node = FindSection(section);
    return node ? node->GetString(key) : errorValue;
}

std::string CIniFile::GetStringOr(const std::string& section, const std::string& key,
                                  const std::string& fallback) {
    CIniFile* node = FindSection(section);
    return node ? node->GetStringOr(key, fallback) : fallback;
}

bool CIniFile::SetString(const std::string& section, const std::string& key,
                         const std::string& value, bool create) {
    CIniFile* node = FindSection(section);
    if (node)
        return node->SetString(key, value, create);
    if (!create)
        return false;
    return AddSection(section)->SetString(key, value, true);
}

bool CIniFile::SetInt(const std::string& section, const std::string& key, int value, bool create) {
    return SetString(section, key, FormatInt(value), create);
}

bool CIniFile::SetBool(const std::string& section, const std::string& key, bool value,
                       bool create) {
    return SetString(section, key, FormatInt(value ? 1 : 0), create);
}

bool CIniFile::SetFloat(const std::string& section, const std::string& key, float value,
                        bool create) {
    return SetString(section, key, FormatFloat(value), create);
}
