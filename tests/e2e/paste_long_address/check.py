from drawing_check import load, links

address, description, location = links(load())["90"]
assert address == ("https://example.com/" + "p" * 300)[:259], len(address)
assert description == address and location == ""
