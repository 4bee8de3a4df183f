// Window frames drawn by Wine itself, switched on in the prefix's registry for a while.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

/// While it lives, programs started afterwards get window frames drawn by Wine rather than by
/// a window manager (there is none on a virtual display), so their captions can be seen. The
/// previous setting comes back afterwards. Nothing happens outside Wine, or when the registry
/// key can't be opened.
class DrawnFrames {
public:
    DrawnFrames();
    ~DrawnFrames();
    DrawnFrames(const DrawnFrames&) = delete;
    DrawnFrames& operator=(const DrawnFrames&) = delete;

private:
    HKEY m_key = nullptr;
    bool m_hadValue = false;
    std::string m_previous;
};

}  // namespace e2e
