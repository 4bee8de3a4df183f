// How an install or an upgrade ended.
#pragma once

/// The outcome of InstallSystem and UpgradeSystem; each failure has shown its one message.
enum class SetupResult {
    Done,           ///< the setup command ran and exited 0
    Refused,        ///< the input can't be used; nothing was made and nothing ran
    NotRegistered,  ///< the system could not be registered (base directory, free number, marker); nothing ran
    CommandFailed,  ///< the setup command failed or could not be started; what was made stays
    RestartNeeded,  ///< the setup command did its work and exited 3010: Windows must restart to finish it
    RestartStarted, ///< the setup command did its work and exited 1641: it has started Windows' restart
};

/// The setup command's statuses that say it did its work and Windows must restart, as every
/// Windows Installer package says it.
inline constexpr int kStatusRestartNeeded = 3010;
inline constexpr int kStatusRestartStarted = 1641;

/// True when the setup command did its work, whether or not Windows must restart for it.
inline bool Completed(SetupResult result)
{
    return result == SetupResult::Done || result == SetupResult::RestartNeeded || result == SetupResult::RestartStarted;
}
