#!/usr/bin/env python3
"""Include graph of src/: every #include "..." edge, edges from a lower layer
(folder) to a higher one, Windows headers in the platform-free core, and
cycles between files, between units (x.h with x.cpp) and between folders. Usage: scripts/include_graph.py [SRC]
Every file of src/ lies in a layer's folder: core, platform, ui, app."""
import os, re, sys

src = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else 'src')
# Each top folder of src/ is a layer and may include only its own and lower ones.
LAYERS = ['core', 'platform', 'ui', 'app']
WINDOWS_HEADERS = re.compile(r'^(windows|winuser|wingdi|commctrl|shellapi|shlobj|objbase|ole2|windowsx|shlwapi|'
                             r'winbase|combaseapi|uxtheme|dwmapi|commdlg)\.h$', re.I)

def unit(path):
    return os.path.splitext(path)[0]

def folder(path):
    return path.split(os.sep)[0] if os.sep in path else path.split('/')[0]

def layer(path):
    if path == 'res/resource.h':  # resource ids only
        return 0
    top = folder(path)
    return LAYERS.index(top) if top in LAYERS else None

files = sorted(os.path.relpath(os.path.join(d, f), src) for d, _, fs in os.walk(src) for f in fs
               if f.endswith(('.h', '.cpp')))
edges, problems = {}, []
for f in files:
    edges[f] = []
    for line in open(os.path.join(src, f), encoding='utf-8'):
        m = re.match(r'\s*#\s*include\s*([<"])([^">]+)[">]', line)
        if not m:
            continue
        kind, target = m.groups()
        if kind == '<':
            if layer(f) == 0 and WINDOWS_HEADERS.match(os.path.basename(target)):
                problems.append(f'windows header in the core: {f} -> <{target}>')
            continue
        if target == 'build_config.h':  # generated settings of the build, no code
            continue
        if target not in files:
            problems.append(f'unknown include: {f} -> "{target}"')
            continue
        edges[f].append(target)

print(f'{len(files)} files, {sum(map(len, edges.values()))} include edges')
for f in files:
    if layer(f) is None:
        problems.append(f'no layer assigned: {f}')
for f in files:
    for t in edges[f]:
        lf, lt = layer(f), layer(t)
        if lf is not None and lt is not None and lt > lf:
            problems.append(f'upward: {f} ({LAYERS[lf]}) -> {t} ({LAYERS[lt]})')

def cycles(graph):
    index, low, stack, on, out, n = {}, {}, [], set(), [], [0]
    def visit(v):
        index[v] = low[v] = n[0]; n[0] += 1; stack.append(v); on.add(v)
        for w in graph.get(v, ()):
            if w not in index:
                visit(w); low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            scc = []
            while True:
                w = stack.pop(); on.discard(w); scc.append(w)
                if w == v: break
            if len(scc) > 1 or v in graph.get(v, ()):
                out.append(sorted(scc))
    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return out

folders = {}
for f, ts in edges.items():
    folders.setdefault(folder(f), set()).update(folder(t) for t in ts if folder(t) != folder(f))
for scc in cycles(folders):
    problems.append('folder cycle: ' + ' <-> '.join(scc))
for scc in cycles(edges):
    problems.append('file cycle: ' + ' <-> '.join(scc))
units = {}
for f, ts in edges.items():
    units.setdefault(unit(f), set()).update(unit(t) for t in ts if unit(t) != unit(f))
for scc in cycles(units):
    problems.append('unit cycle (header with its source): ' + ' <-> '.join(scc))

for p in problems:
    print(p)
print('OK: no upward edge, no cycle of files, units or folders' if not problems else f'{len(problems)} problem(s)')
sys.exit(1 if problems else 0)
