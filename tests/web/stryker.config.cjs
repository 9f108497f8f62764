// make mutate-web: Stryker mutates what the page and its service worker
// decide (site/page/decisions.js) and runs the Node tests of it against each
// mutant. Run from the top of the source tree; only the module and its tests
// are copied into the sandbox, in the web build's folder.
'use strict';

module.exports = {
  mutate: ['site/page/decisions.js'],
  testRunner: 'command',
  commandRunner: { command: 'node --test tests/web/unit/decisions_test.cjs' },
  coverageAnalysis: 'off',
  ignorePatterns: ['/*', '!/site', '/site/*', '!/site/page', '/site/page/*', '!/site/page/decisions.js',
                   '!/tests', '/tests/*', '!/tests/web', '/tests/web/*', '!/tests/web/unit'],
  tempDirName: 'build-web/stryker/sandbox',
  cleanTempDir: 'always',
  reporters: ['clear-text', 'progress', 'json'],
  clearTextReporter: { allowColor: false, logTests: false },
  jsonReporter: { fileName: 'build-web/stryker/mutation.json' },
  concurrency: 2,
  timeoutMS: 10000,
  // Under 85 % of mutants killed, the run fails.
  thresholds: { high: 90, low: 85, break: 85 },
};
