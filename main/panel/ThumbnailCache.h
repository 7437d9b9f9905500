// The panel's decoded thumbnails, kept so that a page shown again needs no decoding.
// Keyed by the face's digest and checked against the thumbnail bytes it was made from (a
// face whose thumbnail was redone is decoded anew). Bounded: past the capacity the entry
// used longest ago goes. Picture is the decoded form (a shared bitmap on Windows); what
// could not be decoded is kept too, as an empty Picture, so it is not tried again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace panel {

// Size and FNV-1a hash of a thumbnail: what an entry was decoded from.
struct ThumbnailStamp {
    size_t size = 0;
    uint64_t hash = 0;
    bool operator==(const ThumbnailStamp& o) const { return size == o.size && hash == o.hash; }
};
ThumbnailStamp StampOf(const std::vector<uint8_t>& thumbnail);

template <class Picture>
class ThumbnailCache {
public:
    static constexpr size_t kDefaultCapacity = 320;  // eight pages of 40

    explicit ThumbnailCache(size_t capacity = kDefaultCapacity) : m_capacity(capacity) {}

    // The picture of this face made from exactly these bytes, now the most recently used;
    // null when there is none. A face without a digest is never kept.
    const Picture* Find(const std::string& digest, const std::vector<uint8_t>& thumbnail) {
        const auto it = m_index.find(digest);
        if (it == m_index.end() || !(it->second->stamp == StampOf(thumbnail)))
            return nullptr;
        m_order.splice(m_order.begin(), m_order, it->second);
        return &it->second->picture;
    }
    bool Contains(const std::string& digest, const std::vector<uint8_t>& thumbnail) const {
        const auto it = m_index.find(digest);
        return it != m_index.end() && it->second->stamp == StampOf(thumbnail);
    }
    // Keeps (or replaces) the face's picture as the most recently used.
    void Put(const std::string& digest, const std::vector<uint8_t>& thumbnail, Picture picture) {
        if (digest.empty() || m_capacity == 0)
            return;
        const auto it = m_index.find(digest);
        if (it != m_index.end()) {
            m_order.erase(it->second);
            m_index.erase(it);
        }
        m_order.push_front(Entry{digest, StampOf(thumbnail), std::move(picture)});
        m_index[digest] = m_order.begin();
        while (m_order.size() > m_capacity) {
            m_index.erase(m_order.back().digest);
            m_order.pop_back();
        }
    }
    void Clear() {
        m_index.clear();
        m_order.clear();
    }
    // A new bound; entries past it go, the least recently used first.
    void SetCapacity(size_t capacity) {
        m_capacity = capacity;
        while (m_order.size() > m_capacity) {
            m_index.erase(m_order.back().digest);
            m_order.pop_back();
        }
    }
    size_t Size() const { return m_order.size(); }
    size_t Capacity() const { return m_capacity; }

private:
    struct Entry {
        std::string digest;
        ThumbnailStamp stamp;
        Picture picture;
    };
    size_t m_capacity;
    std::list<Entry> m_order;  // the most recently used first
    std::unordered_map<std::string, typename std::list<Entry>::iterator> m_index;
};

}  // namespace panel
