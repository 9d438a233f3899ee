#pragma once

namespace tamsel {
class Form;
class MemoryPrompter;
}

namespace tamsel::cli {

// Ends an FTP command: the messages the officer would have seen go to the
// error stream, the status text to the output; the exit code says whether
// the file arrived.
int reportFtpCommand(bool arrived, const MemoryPrompter &prompter, const Form &form);

} // namespace tamsel::cli
