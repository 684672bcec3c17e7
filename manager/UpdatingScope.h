#pragma once

namespace mm {

// Sets a flag for a scope and gives it back its value on every way out, errors included.
class TUpdatingScope {
public:
    explicit TUpdatingScope(bool& updating) : updating_(updating), before_(updating) {
        updating_ = true;
    }
    ~TUpdatingScope() { updating_ = before_; }
    TUpdatingScope(const TUpdatingScope&) = delete;
    TUpdatingScope& operator=(const TUpdatingScope&) = delete;

private:
    bool& updating_;
    bool before_;
};

} // namespace mm
