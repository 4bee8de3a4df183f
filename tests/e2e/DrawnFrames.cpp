// Wine's X11 driver setting for drawn frames, set and put back: Win32 registry calls only.
#include "tests/e2e/DrawnFrames.h"

#include "tests/support/TestDrive.h"

#include <algorithm>

namespace e2e {

namespace {

const char kX11Key[] = "Software\\Wine\\X11 Driver";

}  // namespace

DrawnFrames::DrawnFrames()
{
    if (!TestDrive::UnderWine())
        return;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kX11Key, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key,
                        nullptr) != ERROR_SUCCESS) {
        m_key = nullptr;
        return;
    }
    DWORD bytes = 0;
    if (RegQueryValueExA(m_key, "Decorated", nullptr, nullptr, nullptr, &bytes) == ERROR_SUCCESS) {
        std::string value(bytes, '\0');
        if (RegQueryValueExA(m_key, "Decorated", nullptr, nullptr, reinterpret_cast<BYTE*>(&value[0]), &bytes) ==
            ERROR_SUCCESS) {
            m_hadValue = true;
            value.resize(std::min<size_t>(bytes, value.size()));
            while (!value.empty() && value.back() == '\0')
                value.pop_back();
            m_previous = value;
        }
    }
    RegSetValueExA(m_key, "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
}

DrawnFrames::~DrawnFrames()
{
    if (!m_key)
        return;
    if (m_hadValue)
        RegSetValueExA(m_key, "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_previous.c_str()),
                       static_cast<DWORD>(m_previous.size() + 1));
    else
        RegDeleteValueA(m_key, "Decorated");
    RegCloseKey(m_key);
}

}  // namespace e2e
