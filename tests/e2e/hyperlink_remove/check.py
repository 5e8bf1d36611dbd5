import sys
sys.path.insert(0, sys.argv[0].rsplit("/", 2)[0])
from drawing_check import load, links, rectangles

doc = load()
found = links(doc)
assert found == {}, found
assert rectangles(doc) == [], "\"*\" erased the rectangle"
