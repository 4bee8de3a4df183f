// The arguments a program gets from its command line: the words the Windows C run-time builds argv of.
#pragma once

#include <string>
#include <vector>

/// The words of `line`: the first by the program-name rule (a leading double quote runs to the
/// next one, quotes removed; otherwise up to the first blank or tab), the rest by the argument
/// rules (blanks and tabs separate outside quotes, double quotes group and are removed, 2n
/// backslashes before a quote give n and the quote groups, 2n+1 give n and a literal quote, "" in
/// a quoted run gives a literal quote, other backslashes are literal).
std::vector<std::string> SplitArguments(const std::string& line);
