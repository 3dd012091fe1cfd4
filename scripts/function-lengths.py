#!/usr/bin/env python3
"""Lengths of the function definitions in C++ sources, by brace matching.

A function's length is counted from the first line of its head (the text after the previous
';', '{' or '}') to its closing brace, both included. Comments, strings and character literals
are blanked first; lambdas and local classes count as part of the function around them.

usage: function-lengths.py [--over N] DIR...   (prints "lines file:line name", longest first)
"""
import os
import re
import sys

CONTROL = re.compile(r'\b(if|for|while|switch|catch|do|else|return)\b\s*(\(|$)')
HEAD_END = re.compile(r'\)\s*(const\s*)?(noexcept(\([^)]*\))?\s*)?(override\s*|final\s*)*(->\s*[\w:<>,\s*&]+)?\s*$')


def blank(text):
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            j = text.find('\n', i)
            j = n if j < 0 else j
            out.append(' ' * (j - i)); i = j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r'[^\n]', ' ', text[i:j])); i = j
        elif text.startswith('R"', i):
            m = re.match(r'R"([^(]*)\(', text[i:])
            end = ')' + m.group(1) + '"'
            j = text.find(end, i)
            j = n if j < 0 else j + len(end)
            out.append(re.sub(r'[^\n]', ' ', text[i:j])); i = j
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == '\\' else 1
            out.append(c + re.sub(r'[^\n]', ' ', text[i + 1:j]) + c); i = j + 1
        else:
            out.append(c); i += 1
    return ''.join(out)


def functions(path):
    text = blank(open(path, encoding='utf-8', errors='replace').read())
    # Preprocessor lines take no part.
    text = re.sub(r'(?m)^[ \t]*#.*(\\\n.*)*$', lambda m: re.sub(r'[^\n]', ' ', m.group(0)), text)
    stack = []  # per open brace: (is_function, start_line, name)
    head_start = 0
    for i, c in enumerate(text):
        if c == '{':
            head = text[head_start:i]
            inside = any(f for f, _, _ in stack)
            h = ' '.join(head.split())
            # A constructor's member initialisers: the head ends in "name(args)" or "name{args}".
            h_cut = re.sub(r'\)\s*:\s*[\w:]+\s*[({].*$', ')', h) if ') :' in h or '):' in h else h
            is_fn = (not inside and bool(HEAD_END.search(h_cut)) and not CONTROL.search(h)
                     and '=' not in h.split('(')[0] and not h.startswith(('namespace', 'extern')))
            name = ''
            if is_fn:
                m = re.search(r'([~\w:]+(?:operator\s*\S+)?)\s*\(', h_cut)
                name = m.group(1) if m else h[:40]
            first = head_start + (len(head) - len(head.lstrip()))
            stack.append((is_fn, text.count('\n', 0, first) + 1, name))
            head_start = i + 1
        elif c == '}':
            if stack:
                is_fn, start, name = stack.pop()
                if is_fn:
                    yield text.count('\n', 0, i) + 1 - start + 1, start, name
            head_start = i + 1
        elif c == ';':
            head_start = i + 1


def main(argv):
    over = 0
    if len(argv) > 1 and argv[0] == '--over':
        over = int(argv[1]); argv = argv[2:]
    rows = []
    for root in argv:
        for d, _, files in os.walk(root):
            for f in files:
                if f.endswith(('.cpp', '.h')):
                    p = os.path.join(d, f)
                    rows += [(n, p, s, name) for n, s, name in functions(p)]
    rows.sort(reverse=True)
    for n, p, s, name in rows:
        if n > over:
            print(f'{n:5d} {p}:{s} {name}')


if __name__ == '__main__':
    main(sys.argv[1:])
