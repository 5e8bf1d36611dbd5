import json
import os
import sys

folder = sys.argv[1]
opened = [json.loads(line) for line in open(os.path.join(folder, "opened.log"), encoding="utf-8")]
assert opened == [
    ["http://example.com/a b?q=\"quoted\"&x='single'"],
    ["https://example.com/$(touch pwned); touch pwned2 `touch pwned3` | cat"],
    # The mail program gets a mailto: address encoded as such an address must be.
    ["mailto:a@example.com?subject=Plan%20%26%20%22site%22;%20echo"],
    ["http://example.com/\ufffd\ufffd\ufffd\ufffd"],
], opened
# No target that starts with "-" reached the opener.
for name in ("pwned", "pwned2", "pwned3"):
    assert not os.path.exists(os.path.join(folder, name)), name
