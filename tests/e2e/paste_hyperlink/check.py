from drawing_check import load, links

found = links(load())
assert found["90"] == ("site.dxf", "The site", "House,Sheet"), found["90"]
