// Shared pieces of the store's tests: a scratch folder, a fresh face database, a
// message recorder and a renderer that stands in for the picture control.
#pragma once
#include <string>
#include <vector>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "FaceRenderer.h"
#include "MessageSink.h"

// A folder under the system temp folder, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

class RecordingSink : public MessageSink {
public:
    void ShowInfo(const std::string& text, const std::string& caption) override {
        texts.push_back(text);
        captions.push_back(caption);
    }
    std::vector<std::string> texts;
    std::vector<std::string> captions;
};

// "Renders" a face as a recognisable byte pattern: 'J', the size, then the first
// bytes of the picture. Pictures starting with "BAD" cannot be drawn.
class FakeRenderer : public FaceRenderer {
public:
    bool RenderJpeg(const std::vector<uint8_t>& picture, int size,
                    std::vector<uint8_t>& jpeg) override;
    int calls = 0;
};

std::vector<uint8_t> Bytes(const std::string& text);
std::vector<uint8_t> PatternBytes(size_t size, unsigned seed);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFile(const std::string& path);

// Runs plain SQL on a file outside the access layer (for checks and set-up).
std::string SqliteQueryText(const std::string& path, const std::string& sql);
