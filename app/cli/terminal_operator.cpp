#include "cli/terminal_operator.h"

#include "shell/catalog.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace tavimo::cli {

namespace {

constexpr int kBarWidth = 30;

} // namespace

TerminalOperator::TerminalOperator() : barEnabled_(::isatty(STDERR_FILENO) == 1)
{
}

void TerminalOperator::clearBar()
{
    if (!barShown_) return;
    std::cerr << "\r\033[K" << std::flush;
    barShown_ = false;
}

void TerminalOperator::drawBar()
{
    if (!barEnabled_ || max_ <= 0) return;
    const int filled = value_ * kBarWidth / max_;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    std::cerr << "\r[" << bar << "] " << (value_ * 100 / max_) << "%" << std::flush;
    barShown_ = true;
}

void TerminalOperator::showMessage(const std::string& text)
{
    clearBar();
    std::cerr << text << "\n";
    drawBar();
}

std::optional<shell::Answer> TerminalOperator::ask(const std::string& text, bool withCancel)
{
    if (policy_)
        if (auto a = policy_(text)) return a;
    clearBar();
    if (::isatty(STDIN_FILENO) != 1) {
        std::cerr << text << "\n(no terminal to answer on: taken as " << (withCancel ? "Cancel" : "No") << ")\n";
        drawBar();
        return std::nullopt;
    }
    for (;;) {
        std::cerr << text << "\n" << (withCancel ? "[y]es / [n]o / [c]ancel? " : "[y]es / [n]o? ") << std::flush;
        std::string line;
        if (!std::getline(std::cin, line)) return std::nullopt;
        const char c = line.empty() ? '\0' : static_cast<char>(line[0] | 0x20);
        if (c == 'y') return shell::Answer::Yes;
        if (c == 'n') return shell::Answer::No;
        if (withCancel && c == 'c') return shell::Answer::Cancel;
    }
}

bool TerminalOperator::askYesNo(const std::string& text)
{
    return ask(text, false).value_or(shell::Answer::No) == shell::Answer::Yes;
}

shell::Answer TerminalOperator::askYesNoCancel(const std::string& text)
{
    return ask(text, true).value_or(shell::Answer::Cancel);
}

void TerminalOperator::progressBegin(int max)
{
    max_ = max;
    value_ = 0;
    drawBar();
}

void TerminalOperator::progressSet(int value)
{
    value_ = value;
    drawBar();
}

void TerminalOperator::progressEnd()
{
    clearBar();
    max_ = 0;
}

bool questionIs(const std::string& question, shell::Msg part)
{
    return question.find(shell::Catalog::instance().text(part)) != std::string::npos;
}

void useCliLanguage()
{
    shell::Catalog::instance().setLanguage(shell::Language::English);
}

} // namespace tavimo::cli
