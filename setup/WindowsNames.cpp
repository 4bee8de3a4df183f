// The device names and path lengths Windows refuses: string work only.
#include "setup/WindowsNames.h"

#include "platform/CodePage.h"
#include "platform/Format.h"
#include "platform/Utf8.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"

namespace {

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return text;
}

bool IsDevice(const std::string& upper)
{
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (upper == device)
            return true;
    }
    if (upper.compare(0, 3, "COM") != 0 && upper.compare(0, 3, "LPT") != 0)
        return false;
    const std::string number = upper.substr(3);
    // Windows counts the superscript digits as digits here too: COM¹ is a port.
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

}  // namespace

std::string ReservedDevice(const std::string& component)
{
    std::string stem = component.substr(0, component.find('.'));
    // Windows drops the blanks at the end of what it compares: "CON .txt" is CON.
    stem.erase(stem.find_last_not_of(' ') + 1);
    const std::string upper = UpperAscii(stem);
    return IsDevice(upper) ? upper : std::string();
}

size_t Utf16Length(const std::string& text)
{
    size_t units = 0;
    for (size_t at = 0; at < text.size();) {
        const Utf8Character c = NextCharacter(text, at);
        units += c.number > 0xFFFF ? 2 : 1;
        at += c.length;
    }
    return units;
}

std::string WhyWindowsRefusesNames(const CodePage& codePage, const std::string& baseDirectory,
                                   const std::string& callLetters, const std::string& systemType)
{
    // The longest name a claim can make; lower-casing keeps each character one character.
    const std::string name = SystemName(NamePrefix(codePage, callLetters, systemType), kLastSystemNumber);
    const std::string directory = SystemDirectory(baseDirectory, name);
    const std::string marker = MarkerPath(codePage, directory);
    for (size_t start = 0; start <= marker.size();) {
        size_t end = marker.find('\\', start);
        end = end == std::string::npos ? marker.size() : end;
        const std::string device = ReservedDevice(marker.substr(start, end - start));
        if (!device.empty())
            return Format(msg::kDeviceName, callLetters.c_str(), device.c_str());
        start = end + 1;
    }
    const size_t directoryLength = Utf16Length(directory);
    const size_t markerLength = Utf16Length(marker);
    if (directoryLength > kLongestDirectoryPath || markerLength > kLongestFilePath)
        return Format(msg::kNameTooLong, static_cast<int>(directoryLength), static_cast<int>(markerLength),
                      static_cast<int>(kLongestDirectoryPath), static_cast<int>(kLongestFilePath));
    return std::string();
}
