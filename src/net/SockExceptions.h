#pragma once

#include <stdexcept>
#include <string>

namespace rimo {

// Failures of the socket layer. Their messages are the fixed English texts
// of the socket client ("10061:Connection refused", "Host Lookup Failed", ...).
class ESockError : public std::runtime_error {
public:
    explicit ESockError(const std::string& message) : std::runtime_error(message) {}
};

// An operation ended by a cancel ("Socket send aborted", "Socket readln aborted").
class EAbortError : public ESockError {
public:
    explicit EAbortError(const std::string& message) : ESockError(message) {}
};

} // namespace rimo
