#pragma once

#include <stdexcept>

namespace velantro {

// Anything that ends the load pass on its single error path.
class PassFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace velantro
