#include "platform/settings_store.h"

#include <algorithm>
#include <utility>

namespace orvane {

void SettingsStore::Load() { settings_ = ReadSettings(read_); }

void SettingsStore::Change(const std::vector<SettingKey>& keys, const std::function<void(Settings&)>& edit) {
    edit(settings_);
    for (SettingKey key : keys) WriteSettings(write_, settings_, {key});
    // A listener may stop listening, or start another, while it is told.
    std::vector<int> ids;
    for (const auto& [id, listener] : listeners_) ids.push_back(id);
    for (int id : ids)
        if (const auto it = listeners_.find(id); it != listeners_.end()) {
            const Listener listener = it->second;
            listener(keys);
        }
}

SettingsStore::Listening SettingsStore::Listen(Listener listener) {
    const int id = nextId_++;
    listeners_.emplace(id, std::move(listener));
    return Listening(this, id);
}

SettingsStore::Listening::Listening(Listening&& other) noexcept
    : store_(std::exchange(other.store_, nullptr)), id_(other.id_) {}

SettingsStore::Listening& SettingsStore::Listening::operator=(Listening&& other) noexcept {
    if (this != &other) {
        if (store_) store_->listeners_.erase(id_);
        store_ = std::exchange(other.store_, nullptr);
        id_ = other.id_;
    }
    return *this;
}

SettingsStore::Listening::~Listening() {
    if (store_) store_->listeners_.erase(id_);
}

std::wstring SettingsStore::FindWord(std::size_t number, std::wstring_view fallback) const {
    return ReadFindWord(read_, number, fallback);
}

void SettingsStore::SetFindWord(std::size_t number, std::wstring_view word) const {
    WriteFindWord(write_, number, word);
}

bool Names(const std::vector<SettingKey>& changed, SettingKey key) {
    return std::find(changed.begin(), changed.end(), key) != changed.end();
}

}  // namespace orvane
