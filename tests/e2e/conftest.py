import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_fixtures import *  # noqa: E402,F401,F403
