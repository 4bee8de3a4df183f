// How an install or an upgrade ended.
#pragma once

/// The outcome of InstallSystem and UpgradeSystem; each failure has shown its one message.
enum class SetupResult {
    Done,           ///< the setup command ran and exited 0
    Refused,        ///< the input can't be used; nothing was made and nothing ran
    NotRegistered,  ///< the system could not be registered (base directory, free number, marker); nothing ran
    CommandFailed,  ///< the setup command failed or could not be started; what was made stays
};
