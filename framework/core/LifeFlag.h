// TLifeFlag: for code that calls out to handlers able to free its object (a
// click's handler freeing the control, a message of a loop freeing the loop's
// owner). Hold a watch across the call; it reads false once the object is gone.
#pragma once
#include <memory>

namespace tf {

class TLifeFlag {
public:
    TLifeFlag() = default;
    TLifeFlag(const TLifeFlag&) = delete;
    TLifeFlag& operator=(const TLifeFlag&) = delete;
    ~TLifeFlag() { *FAlive = false; }

    std::shared_ptr<const bool> Watch() const { return FAlive; }

private:
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

} // namespace tf
