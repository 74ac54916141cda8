#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace baudrill {

// An insertion-ordered map that owns its values. Keys may repeat; every lookup
// finds the first match in insertion order. Values keep their address for as
// long as they stay in the map. Indexes are ints, -1 meaning "none"; an index
// outside 0..count-1 reads as nothing and changes nothing.
template <class K, class V>
class ArrayMap {
public:
    V& Add(K key, std::unique_ptr<V> value)
    {
        V& ref = *value;
        entries_.push_back(Entry{std::move(key), std::move(value)});
        return ref;
    }
    V& Add(K key) { return Add(std::move(key), std::make_unique<V>()); }

    template <class Q>
    int Find(const Q& key) const
    {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].key == key)
                return static_cast<int>(i);
        return -1;
    }

    template <class Q>
    V* FindPtr(const Q& key) const
    {
        return At(Find(key));
    }

    // The first value under the key; a default value is appended when there is none.
    V& GetAdd(const K& key)
    {
        V* found = FindPtr(key);
        return found ? *found : Add(key);
    }

    int GetCount() const { return static_cast<int>(entries_.size()); }
    bool IsEmpty() const { return entries_.empty(); }

    bool Contains(int i) const { return i >= 0 && static_cast<std::size_t>(i) < entries_.size(); }

    // The key at the index; the default key (K{}) when there is no such index.
    const K& GetKey(int i) const
    {
        static const K none{};
        return Contains(i) ? entries_[Index(i)].key : none;
    }
    // The value at the index, or null.
    V* At(int i) const { return Contains(i) ? entries_[Index(i)].value.get() : nullptr; }

    // The changes below refuse an index outside 0..count-1 (false or null) and change nothing.
    bool SetKey(int i, K key)
    {
        if (!Contains(i))
            return false;
        entries_[Index(i)].key = std::move(key);
        return true;
    }

    // Removes and deletes the value at the index.
    bool Remove(int i)
    {
        if (!Contains(i))
            return false;
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(Index(i)));
        return true;
    }

    // Hands the value at the index to the caller and removes its entry.
    std::unique_ptr<V> Detach(int i)
    {
        if (!Contains(i))
            return nullptr;
        std::unique_ptr<V> value = std::move(entries_[Index(i)].value);
        Remove(i);
        return value;
    }

    // Deletes the newest values beyond the count.
    void Trim(int count)
    {
        if (count >= 0 && static_cast<std::size_t>(count) < entries_.size())
            entries_.erase(entries_.begin() + count, entries_.end());
    }

    void Clear() { entries_.clear(); }

private:
    struct Entry {
        K key;
        std::unique_ptr<V> value;
    };

    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }

    std::vector<Entry> entries_;
};

}  // namespace baudrill
