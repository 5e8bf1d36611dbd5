from drawing_check import load, links, rectangles

doc = load()
found = links(doc)
url = "https://example.com/plans/site"
assert found["90"] == (url, url, ""), found["90"]
assert found["91"] == (url, url, "")
assert found["94"] == (url, url, "")
assert rectangles(doc) == []
