// Folder security: SDDL in, descriptors out, and the judging of a descriptor. Win32 calls only.
#include "platform/win32/FolderSecurity.h"

#include <sddl.h>

#include <vector>

namespace {

// Rights on the folder itself that let another user plant, remove or swap what is in it.
constexpr DWORD kChangesFolder =
    FILE_ADD_FILE | FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
// Rights handed down to what is made in it that let another user change it.
constexpr DWORD kChangesContents = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_DELETE_CHILD |
                                   FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                   GENERIC_ALL;

// A SID owned, freed with LocalFree.
using Sid = std::shared_ptr<void>;

Sid SidFromString(const wchar_t* text)
{
    PSID sid = nullptr;
    if (!ConvertStringSidToSidW(text, &sid))
        return nullptr;
    return Sid(sid, [](void* p) { LocalFree(p); });
}

bool IsAnyOf(PSID sid, const std::vector<const wchar_t*>& sids)
{
    for (const wchar_t* text : sids) {
        const Sid known = SidFromString(text);
        if (known && EqualSid(sid, known.get()))
            return true;
    }
    return false;
}

}  // namespace

// 0x1200a9 is read and run (FILE_GENERIC_READ | FILE_GENERIC_EXECUTE), icacls's RX; 0x4 on a
// folder is FILE_ADD_SUBDIRECTORY, icacls's AD.
const wchar_t kStoreSecurity[] = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)(A;;0x4;;;BU)";

std::wstring SystemDirectorySecurity(const std::wstring& accountSid)
{
    return L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;" + accountSid + L")(A;OICI;0x1200a9;;;BU)";
}

std::wstring RunningAccountSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return std::wstring();
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    std::wstring text;
    wchar_t* sid = nullptr;
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

Descriptor DescriptorFromSddl(const std::wstring& sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    return Descriptor(descriptor, [](void* p) { LocalFree(p); });
}

std::wstring SddlOf(PSECURITY_DESCRIPTOR descriptor)
{
    wchar_t* text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor, SDDL_REVISION_1, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text, nullptr))
        return std::wstring();
    std::wstring sddl = text;
    LocalFree(text);
    return sddl;
}

FolderSafety JudgeFolder(PSECURITY_DESCRIPTOR descriptor, const std::wstring& runningAccount)
{
    PSID owner = nullptr;
    PACL dacl = nullptr;
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) ||
        !GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !owner)
        return FolderSafety::Unknown;
    // Administrators, SYSTEM and TrustedInstaller, the owners of what Windows and an administrator
    // make; the running account may own its own.
    const bool trustedOwner = IsAnyOf(owner, {runningAccount.c_str(), L"S-1-5-32-544", L"S-1-5-18",
                                              L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"});
    // No DACL at all lets everyone do anything.
    if (!trustedOwner || !present || !dacl)
        return FolderSafety::OthersMayChange;
    // Everyone, Authenticated Users, Users, Interactive, Guests, Anonymous.
    const std::vector<const wchar_t*> broad = {L"S-1-1-0", L"S-1-5-11", L"S-1-5-32-545",
                                               L"S-1-5-4", L"S-1-5-32-546", L"S-1-5-7"};
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(dacl, i, &entry))
            return FolderSafety::Unknown;
        const auto* ace = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        // Denials only take away; only what is allowed can open a folder to others.
        if (ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE)
            continue;
        const PSID sid = const_cast<DWORD*>(&ace->SidStart);
        const bool onFolder = !(ace->Header.AceFlags & INHERIT_ONLY_ACE);
        const bool handedDown = (ace->Header.AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE)) != 0;
        if (((onFolder && (ace->Mask & kChangesFolder)) || (handedDown && (ace->Mask & kChangesContents))) &&
            IsAnyOf(sid, broad))
            return FolderSafety::OthersMayChange;
    }
    return FolderSafety::TrustedOnly;
}
