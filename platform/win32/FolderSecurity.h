// The security Corvane gives the folders it makes, and the rule that judges a folder it didn't make.
#pragma once

#include "platform/PlatformServices.h"

#include <windows.h>

#include <memory>
#include <string>

/// C:\kel as Corvane makes it: nothing inherited from the drive; the system and administrators may
/// do anything in it and below it, users may read and run everything below it and add a directory
/// to the folder itself (not handed down), so every operator can register a system and nobody else
/// can change, rename or remove one.
extern const wchar_t kStoreSecurity[];

/// A system directory as Corvane claims it, for the account `accountSid` (S-1-5-21-...) that runs
/// its setup command: nothing inherited; the system, administrators and that account may do
/// anything, users may read and run; each handed down to all made in it. No owner is named: Windows
/// gives the folder to the account that makes it, which a standard user could not hand to another.
std::wstring SystemDirectorySecurity(const std::wstring& accountSid);

/// The running account's SID in its string form; "" when the process token can't be read.
std::wstring RunningAccountSid();

/// A self-relative security descriptor, freed with LocalFree when the last holder lets it go.
using Descriptor = std::shared_ptr<void>;

/// The descriptor an SDDL string describes; empty when the string is malformed.
Descriptor DescriptorFromSddl(const std::wstring& sddl);

/// The descriptor's owner and DACL in SDDL; "" when it can't be converted.
std::wstring SddlOf(PSECURITY_DESCRIPTOR descriptor);

/// Who may change what is in a folder with `descriptor` (owner and DACL), for a program running as
/// `runningAccount` (a SID's string form; "" when unknown). OthersMayChange when the owner is none of Administrators, SYSTEM,
/// TrustedInstaller and the running account, when there is no DACL, or when a broad group
/// (Everyone, Authenticated Users, Users, Interactive, Guests, Anonymous) is allowed to add a file
/// to the folder, delete in it, or change its permissions or owner, or to write, delete or change
/// the permissions of what is made in it. Adding a directory to the folder itself is no change to
/// what is in it. Unknown when the descriptor holds no owner or can't be read.
FolderSafety JudgeFolder(PSECURITY_DESCRIPTOR descriptor, const std::wstring& runningAccount);
