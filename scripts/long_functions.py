#!/usr/bin/env python3
"""Lists C++ functions longer than a limit (default 100 lines), longest first.

Usage: scripts/long_functions.py [--limit=N] [folder ...]   (default: .)

A brace scan, not a parser: comments and string literals are blanked, then
each block at namespace or class level whose header holds a parameter list
counts as a function, from its opening to its closing brace. Lambdas and
local classes count towards the function around them.
"""
import re, sys, os

CONTROL = re.compile(r'^\s*(if|for|while|switch|catch|do|else|try)\b')

def strip(src):
    out = []; i = 0; n = len(src)
    while i < n:
        c = src[i]
        if src.startswith('//', i):
            j = src.find('\n', i); j = n if j < 0 else j
            out.append(' ' * (j - i)); i = j
        elif src.startswith('/*', i):
            j = src.find('*/', i + 2); j = n if j < 0 else j + 2
            out.append(re.sub(r'[^\n]', ' ', src[i:j])); i = j
        elif src.startswith('R"', i):
            m = re.match(r'R"([^(]*)\(', src[i:])
            end = src.find(')' + m.group(1) + '"', i) + len(m.group(1)) + 2
            out.append(re.sub(r'[^\n]', ' ', src[i:end])); i = end
        elif c in '"\'':
            j = i + 1
            while j < n and src[j] != c:
                j += 2 if src[j] == '\\' else 1
            out.append(c + ' ' * (j - i - 1) + c); i = j + 1
        else:
            out.append(c); i += 1
    return ''.join(out)

def scan(path, limit):
    src = strip(open(path, errors='replace').read())
    stack = []  # kinds: 'scope' (namespace/class/extern) or 'func' or 'block'
    last = 0
    found = []
    for i, c in enumerate(src):
        if c == '{':
            header = src[last:i]
            h = ' '.join(header.split())
            inside_func = any(k[0] == 'func' for k in stack)
            kind = 'block'
            if not inside_func:
                if re.search(r'\b(namespace|class|struct|union|enum)\b[^()]*$', h) or h.startswith('extern'):
                    kind = 'scope'
                elif ')' in h and not CONTROL.match(h) and not re.search(r'=\s*$', h) :
                    kind = 'func'
            name = re.sub(r'\s*\(.*', '', h).split()[-1] if kind == 'func' and h else ''
            stack.append((kind, src.count('\n', 0, i) + 1, name))
            last = i + 1
        elif c == '}':
            if stack:
                kind, start, name = stack.pop()
                if kind == 'func':
                    end = src.count('\n', 0, i) + 1
                    if end - start + 1 > limit:
                        found.append((end - start + 1, path, start, name))
            last = i + 1
        elif c == ';':
            last = i + 1
    return found

def main():
    limit = 100
    args = sys.argv[1:]
    if args and args[0].startswith('--limit='):
        limit = int(args[0].split('=')[1]); args = args[1:]
    res = []
    for root in args or ['.']:
        for d, _, files in os.walk(root):
            for f in files:
                if f.endswith(('.cpp', '.h', '.cc', '.hpp')):
                    res += scan(os.path.join(d, f), limit)
    for n, p, s, name in sorted(res, reverse=True):
        print(f'{n:5d} {p}:{s} {name}')

main()
