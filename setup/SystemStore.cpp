// System names and paths: string work only, with the code page's rules for case and order.
#include "setup/SystemStore.h"

#include "platform/Characters.h"
#include "platform/Format.h"
#include "platform/PlatformServices.h"

#include <algorithm>

namespace {

// True when `lowerName` is `prefix` followed by one or more digits and nothing else.
bool IsNumbered(const std::string& lowerName, const std::string& prefix)
{
    return lowerName.size() > prefix.size() && lowerName.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(lowerName.begin() + static_cast<std::ptrdiff_t>(prefix.size()), lowerName.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string ProgramDirectory(const std::string& argument)
{
    return argument.substr(0, NameStart(argument));
}

std::string ProgramDirectory(PlatformServices& os)
{
    return ProgramDirectory(os.ProgramArgument());
}

std::string DeriveSystemType(const std::string& name)
{
    // Names are stored with a number of at least two digits; only two are cut, because a type may
    // itself end in a digit (TR9) and nothing in the name tells where the type stops.
    const std::string shortened = name.size() < 2 ? std::string() : name.substr(0, name.size() - 2);
    const size_t dash = shortened.rfind('-');
    return dash == std::string::npos ? shortened : shortened.substr(dash + 1);
}

std::string NamePrefix(const CodePage& codePage, const std::string& callLetters, const std::string& systemType)
{
    return codePage.LowerCase(callLetters + "-" + systemType);
}

std::string SystemName(const std::string& prefix, int number)
{
    return prefix + Format("%02d", number);
}

std::string SystemDirectory(const std::string& baseDirectory, const std::string& name)
{
    return baseDirectory + "\\" + name;
}

std::string MarkerPath(const CodePage& codePage, const std::string& systemDirectory)
{
    return codePage.LowerCase(systemDirectory + "\\" + kMarkerFileName);
}

std::vector<std::string> SortedAsListed(const CodePage& codePage, std::vector<std::string> names)
{
    std::stable_sort(names.begin(), names.end(),
                     [&codePage](const std::string& a, const std::string& b) { return codePage.Compare(a, b) < 0; });
    return names;
}

std::vector<std::string> FirstAsListed(const CodePage& codePage, const std::vector<std::string>& names, size_t count)
{
    // Indices of the entries kept, in list order; an equal comparison keeps the earlier entry
    // first, as the stable sort of SortedAsListed does.
    std::vector<size_t> kept;
    const auto before = [&codePage, &names](size_t a, size_t b) {
        const int order = codePage.Compare(names[a], names[b]);
        return order < 0 || (order == 0 && a < b);
    };
    for (size_t i = 0; i < names.size() && count > 0; ++i) {
        if (kept.size() == count && !before(i, kept.back()))
            continue;
        const auto at = std::lower_bound(kept.begin(), kept.end(), i, before);
        const bool repeated = std::any_of(kept.begin(), kept.end(), [&](size_t k) { return names[k] == names[i]; });
        if (repeated)
            continue;
        kept.insert(at, i);
        if (kept.size() > count)
            kept.pop_back();
    }
    std::vector<std::string> first;
    for (size_t k : kept)
        first.push_back(names[k]);
    return first;
}

const std::string* FindName(const CodePage& codePage, const std::vector<std::string>& names,
                            const std::string& wanted)
{
    const auto exact = std::find(names.begin(), names.end(), wanted);
    if (exact != names.end())
        return &*exact;
    const std::string key = codePage.LowerCase(wanted);
    for (const std::string& name : names) {
        if (codePage.LowerCase(name) == key)
            return &name;
    }
    return nullptr;
}

const std::string* FindRegistered(const CodePage& codePage, const std::vector<std::string>& names,
                                  const std::string& callLetters, const std::string& systemType,
                                  const std::vector<std::string>& offeredTypes)
{
    const std::string prefix = NamePrefix(codePage, callLetters, systemType);
    // Nothing in a name tells where its type ends: a type that is this one and more digits (TR9
    // beside TR) makes names that this one's prefix fits too, so they are left to it.
    std::vector<std::string> longer;
    for (const std::string& type : offeredTypes) {
        std::string other = NamePrefix(codePage, callLetters, type);
        if (other.size() > prefix.size())
            longer.push_back(std::move(other));
    }
    for (const std::string& name : names) {
        const std::string lowerName = codePage.LowerCase(name);
        if (IsNumbered(lowerName, prefix) &&
            std::none_of(longer.begin(), longer.end(),
                         [&lowerName](const std::string& other) { return IsNumbered(lowerName, other); }))
            return &name;
    }
    return nullptr;
}
