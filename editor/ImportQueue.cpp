#include "ImportQueue.h"

#include <algorithm>

namespace editor {

std::string LowerPath(const std::string& path) {
    std::string out = path;
    // ASCII only: bytes of multi-byte UTF-8 characters are left alone.
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

QueueResult ImportQueue::Enqueue(const std::string& path) {
    std::string lower = LowerPath(path);
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_paths.empty()) {
        m_paths.push_back({lower, path});
        return QueueResult::Started;
    }
    if (std::any_of(m_paths.begin(), m_paths.end(),
                    [&](const Item& item) { return item.lower == lower; }))
        return QueueResult::AlreadyQueued;
    m_paths.push_back({lower, path});
    return QueueResult::Appended;
}

bool ImportQueue::IsRunning() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return !m_paths.empty();
}

bool ImportQueue::Head(std::string& path) const {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_paths.empty()) return false;
    path = m_paths.front().path;
    return true;
}

bool ImportQueue::FinishHead() {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_paths.empty()) return false;
    m_paths.pop_front();
    return true;
}

void ImportQueue::Clear() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_paths.clear();
}

size_t ImportQueue::Size() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_paths.size();
}

}  // namespace editor
