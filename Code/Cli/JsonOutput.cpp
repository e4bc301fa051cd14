#include "Cli/JsonOutput.h"

#include "Cli/Console.h"
#include "Cli/ConsoleText.h"

std::string Utf8(const std::string& bytes) {
    return Recode(bytes, kFileCodePage, kUtf8CodePage);
}

void PrintJson(std::ostream& out, const Json& value) {
    out << value.dump(2) << '\n';
}
