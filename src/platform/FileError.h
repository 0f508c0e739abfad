#pragma once
// A file could not be opened, read or written; the message names the file.
#include <stdexcept>
#include <string>

class EFileError : public std::runtime_error {
public:
    EFileError(const std::string& message, std::string fileName)
        : std::runtime_error(message), FFileName(std::move(fileName))
    {
    }
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
};
