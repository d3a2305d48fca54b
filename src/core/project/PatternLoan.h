#pragma once

namespace quom {

class Project;

// Held by a window that keeps the current pattern's starting state while it is open
// (a tool window, the cell colour window): nothing else writes the pattern under it.
// The pattern is lent for as long as any loan lives; the project's listeners hear when
// the last one ends.
class PatternLoan {
public:
    explicit PatternLoan(Project& project) noexcept;
    ~PatternLoan();
    PatternLoan(const PatternLoan&) = delete;
    PatternLoan& operator=(const PatternLoan&) = delete;

private:
    Project& project_;
};

} // namespace quom
