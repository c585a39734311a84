#pragma once

#include <stdexcept>
#include <string>

// A printing step failed: no default printer, the printer reports an error, or the page
// could not be started. The message says which, in plain words.
class PrinterError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
