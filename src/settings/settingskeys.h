#pragma once

#include <climits>

/// A key of settings.ini: its section and its name, both compared without
/// regard to case.
struct SettingKey {
    const char *section;
    const char *name;
};

/// A whole number, taken while it lies from least to most; fallback where
/// it is missing, not a number or out of bounds.
struct NumberSetting {
    SettingKey key;
    int fallback;
    int least = INT_MIN;
    int most = INT_MAX;
};

/// A text, trimmed; fallback where it is missing or empty.
struct TextSetting {
    SettingKey key;
    const char *fallback;
};

/// Every key the program reads or writes: code asks by these, never by a
/// string of its own.
namespace Settings {

// [Main]: the main window's place (Left -1 or missing: centred; both
// bounded as placement.h says) and the entry layout (0 in two rows, any
// other value in two columns).
inline constexpr SettingKey mainLeft{"Main", "Left"};
inline constexpr SettingKey mainTop{"Main", "Top"};
inline constexpr NumberSetting mainLayout{{"Main", "Position"}, 0};

// A tool window's place, in the section its row names (RptQso, Partial,
// Stats): Left -1 or missing, no place yet; the rest as placement.h says.
inline constexpr const char *placeLeft = "Left";
inline constexpr const char *placeTop = "Top";
inline constexpr const char *placeWidth = "Width";
inline constexpr const char *placeHeight = "Height";

// [Access] Sound: 0 never plays the repeat cues, any other value always;
// missing, while a screen reader runs.
inline constexpr SettingKey accessSound{"Access", "Sound"};

// [SNTP]: the time server.
inline constexpr TextSetting sntpHost{{"SNTP", "Host"}, "pool.ntp.org"};
inline constexpr NumberSetting sntpPort{{"SNTP", "Port"}, 123, 1, 65535};

// [Rig]: rigctld; following is off unless Enabled is a number other than 0.
inline constexpr NumberSetting rigEnabled{{"Rig", "Enabled"}, 0};
inline constexpr TextSetting rigHost{{"Rig", "Host"}, "127.0.0.1"};
inline constexpr NumberSetting rigPort{{"Rig", "Port"}, 4532, 1, 65535}; // rigctld's own default

// [Partial] File: the known-calls file; empty, MASTER.SCP where it is found.
inline constexpr TextSetting partialFile{{"Partial", "File"}, ""};

} // namespace Settings
