from drawing_check import load, links

found = links(load())
url = "https://example.com/plans/site?sheet=2"
assert found["90"] == (url, url, ""), found["90"]
assert found["93"] == (url, url, ""), found["93"]
