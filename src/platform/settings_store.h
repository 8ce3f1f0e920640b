// The settings in memory and their one writer: every change goes through the
// store, which writes the keys changed to the settings file at once and tells
// those who listen which keys changed.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings_model.h"
#include "platform/ini.h"

namespace orvane {

class SettingsStore {
public:
    // The store reads and writes through read and write (the settings file's
    // own, or a test's); it reads nothing before Load.
    SettingsStore(IniReader read, IniWriter write) : read_(std::move(read)), write_(std::move(write)) {}
    explicit SettingsStore(const ClsIni& file) : SettingsStore(file.Reader(), file.Writer()) {}
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Reads every setting afresh from the file.
    void Load();
    const Settings& Get() const { return settings_; }
    // Edits the settings in memory, writes the keys named, then tells every
    // listener those keys.
    void Change(const std::vector<SettingKey>& keys, const std::function<void(Settings&)>& edit);

    using Listener = std::function<void(const std::vector<SettingKey>& changed)>;
    // A listener hears changes for as long as its Listening lives.
    class Listening {
    public:
        Listening() = default;
        Listening(Listening&& other) noexcept;
        Listening& operator=(Listening&& other) noexcept;
        ~Listening();

    private:
        friend class SettingsStore;
        Listening(SettingsStore* store, int id) : store_(store), id_(id) {}
        SettingsStore* store_ = nullptr;
        int id_ = 0;
    };
    [[nodiscard]] Listening Listen(Listener listener);

    // The find history: entry number (from 1) of the words looked for.
    std::wstring FindWord(std::size_t number, std::wstring_view fallback = L"") const;
    void SetFindWord(std::size_t number, std::wstring_view word) const;

private:
    IniReader read_;
    IniWriter write_;
    Settings settings_;
    std::map<int, Listener> listeners_;
    int nextId_ = 1;
};

// Whether a change names key.
bool Names(const std::vector<SettingKey>& changed, SettingKey key);

}  // namespace orvane
