from drawing_check import load, links, rectangles

doc = load()
found = links(doc)
assert found == {}, found
assert rectangles(doc) == [], "\"*\" erased the rectangle"
