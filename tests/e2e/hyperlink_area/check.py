from drawing_check import load, links, rectangles

doc = load()
assert doc.layers.get("URLLAYER").dxf.color == 1
found = rectangles(doc)
assert found == [
    [(0, 0, 0), (0, 5, 0), (10, 5, 0), (10, 0, 0)],
    [(0, 0, 0), (-5, 0, 0), (-5, 10, 0), (0, 10, 0)],
], found
area_links = sorted(v for h, v in links(doc).items() if v[0] in ("http://example.com/area", "mailto:area@example.com"))
assert area_links == [("http://example.com/area", "Area link", ""), ("mailto:area@example.com", "", "")], area_links
assert not doc.audit().has_errors
