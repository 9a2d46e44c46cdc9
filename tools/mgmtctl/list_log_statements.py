#!/usr/bin/env python3
"""Writes the table of the proxies' log statements that mgmtctl shows beside
each record: the file path and line the record carries, the source file the
statement is really in, and its format. Records of several source files carry
the same path, so the path and line alone do not find the statement.

usage: list_log_statements.py PROJECT_ROOT OUTPUT.cpp SOURCE...
"""
import os
import re
import sys

STATEMENT = re.compile(r"\bMGMT_(?:LOG_IF|LOG_ERROR|TRACE|TIMEOUT_RECORD|ERROR_RECORD)\s*\(")
RECORD_PATH = re.compile(r'^\s*#\s*define\s+MGMT_LOG_FILE\s+("[^"\n]*")', re.M)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
LITERAL = re.compile(r'\s*("(?:[^"\\\n]|\\.)*")')


def record_path(path, root, seen=()):
    """The path a file's records carry: its own MGMT_LOG_FILE or an included header's."""
    text = open(path, encoding="utf-8").read()
    found = RECORD_PATH.search(text)
    if found:
        return found.group(1)
    for name in INCLUDE.findall(text):
        for base in (os.path.dirname(path), os.path.join(root, "src")):
            header = os.path.normpath(os.path.join(base, name))
            if os.path.isfile(header) and header not in seen:
                inherited = record_path(header, root, seen + (header,))
                if inherited:
                    return inherited
    return None


def statements(path, root):
    text = open(path, encoding="utf-8").read()
    recorded = record_path(path, root)
    for match in STATEMENT.finditer(text):
        start = text.rfind("\n", 0, match.start()) + 1
        # back to the first line of a directive continued with backslashes
        while start > 1 and text[start - 2] == "\\":
            start = text.rfind("\n", 0, start - 1) + 1
        head = text[start:match.start()].strip()
        if head.startswith("//") or head.startswith("#"):
            continue  # a comment or a macro's definition
        quote = text.find('"', match.end())
        literals = []
        at = quote
        while True:
            literal = LITERAL.match(text, at)
            if not literal:
                break
            literals.append(literal.group(1))
            at = literal.end()
        if recorded is None or not literals:
            sys.exit(f"{path}: a log statement without a record path or a literal format")
        line = text.count("\n", 0, match.start()) + 1
        yield recorded, line, os.path.relpath(path, root), " ".join(literals)


def main():
    root, output, sources = sys.argv[1], sys.argv[2], sys.argv[3:]
    rows = []
    for source in sorted(sources):
        for recorded, line, real, literal in statements(source, root):
            rows.append(f'    {{{recorded}, {line}, "{real}", {literal}}},\n')
    text = ("// Made by list_log_statements.py from the proxies' sources; do not edit.\n"
            '#include "LogStatements.h"\n\n'
            "namespace mgmtctl {\n\n"
            "const std::vector<LogStatement>& logStatements() {\n"
            "    static const std::vector<LogStatement> all = {\n" + "".join(rows) +
            "    };\n    return all;\n}\n\n}  // namespace mgmtctl\n")
    # Rewritten only when it changes, so the tool is not rebuilt for nothing.
    if not os.path.exists(output) or open(output, encoding="utf-8").read() != text:
        with open(output, "w", encoding="utf-8") as out:
            out.write(text)


if __name__ == "__main__":
    main()
