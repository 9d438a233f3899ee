#pragma once

#include <memory>

namespace tamsel {

class RecordForm;

// Binds the menu items and panel buttons of the record documents, the
// reference library, the network exchange and the evidence recorders to the
// window, and owns what those commands keep for the window's lifetime (the
// document session, the recorder, the video capture, the FTP exchange).
class AreaCommands
{
public:
    explicit AreaCommands(RecordForm &window);
    ~AreaCommands();
    AreaCommands(const AreaCommands &) = delete;
    AreaCommands &operator=(const AreaCommands &) = delete;

    // Once the window is shown: offers recordings a crash left unsaved.
    void afterStartUp();

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace tamsel
