#pragma once
// The cipher and hash registries: lists of "name=description" entries, each with its class,
// in registration order. Registering a class again replaces its entry where it stands.
#include <string>
#include <string_view>
#include <vector>

namespace varnet::crypt {

namespace registry {
// The part of a class name after its first "_" (all of it when there is none).
std::string_view AfterUnderscore(std::string_view className);
// The name a class is registered under when none is given: "TCipher_Blowfish" gives
// "Blowfish"; a name without "_" loses only a leading "T".
std::string DefaultName(std::string_view className);
bool SameText(std::string_view a, std::string_view b); // ASCII, case-insensitive
} // namespace registry

// Class is a pointer to a meta object with ClassName().
template <class Class>
class TClassRegistry {
public:
    struct TEntry {
        std::string name;
        std::string description;
        Class cls;
        std::string Text() const { return name + "=" + description; }
    };

    void Register(Class cls, std::string_view name = {}, std::string_view description = {})
    {
        if (cls == nullptr)
            return;
        std::string n = name.empty() ? registry::DefaultName(cls->ClassName()) : std::string(name);
        for (TEntry& e : FEntries) {
            if (e.cls == cls) {
                e.name = std::move(n);
                e.description = std::string(description);
                return;
            }
        }
        FEntries.push_back({std::move(n), std::string(description), cls});
    }

    const std::vector<TEntry>& Entries() const { return FEntries; }

    const TEntry* Entry(Class cls) const
    {
        for (const TEntry& e : FEntries)
            if (e.cls == cls)
                return &e;
        return nullptr;
    }

    // Name resolution: drop everything up to and including the first "_", then match the
    // classes' names after their first "_", then the registered names (case-insensitively).
    // nullptr when nothing matches.
    Class Find(std::string_view name) const
    {
        std::string_view key = name;
        if (auto u = key.find('_'); u != std::string_view::npos)
            key = key.substr(u + 1);
        for (const TEntry& e : FEntries)
            if (registry::SameText(registry::AfterUnderscore(e.cls->ClassName()), key))
                return e.cls;
        for (const TEntry& e : FEntries)
            if (registry::SameText(e.name, key))
                return e.cls;
        return nullptr;
    }

    // The registered name, or for an unregistered class its name after the first "_".
    std::string NameOf(Class cls) const
    {
        if (const TEntry* e = Entry(cls))
            return e->name;
        return cls == nullptr ? std::string() : std::string(registry::AfterUnderscore(cls->ClassName()));
    }

    std::string DescriptionOf(Class cls) const
    {
        const TEntry* e = Entry(cls);
        return e == nullptr ? std::string() : e->description;
    }

private:
    std::vector<TEntry> FEntries;
};

} // namespace varnet::crypt
